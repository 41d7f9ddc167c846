// A Windows program for the real-Wine test: writes its working folder, in UTF-8, to
// marker.txt in that folder. Exit status 1 when it could not.
#include <windows.h>

int main(void) {
  wchar_t folder[MAX_PATH];
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) return 1;
  char text[MAX_PATH * 3];
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, folder, (int)length, text, sizeof text, NULL, NULL);
  if (size <= 0) return 1;
  const HANDLE file = CreateFileW(L"marker.txt", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL wrote = WriteFile(file, text, (DWORD)size, &written, NULL);
  return CloseHandle(file) && wrote && written == (DWORD)size ? 0 : 1;
}
