// A Windows program that holds a file as an estimating program may while it runs:
//   hold_file.exe FILE READY RELEASE
// opens FILE without sharing it and locks all of it, then makes the file READY and waits
// until the file RELEASE exists (two minutes at most, so it never outlives a failed test).
// Exit status 1 when it could not hold FILE.
#include <windows.h>

static BOOL Exists(const wchar_t* path) {
  return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  const HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;
  // The lock is what a program outside Wine sees: Wine keeps share modes to itself.
  if (!LockFile(file, 0, 0, MAXDWORD, MAXDWORD)) return 1;
  const HANDLE ready =
      CreateFileW(argv[2], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (ready == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(ready);
  for (int waited = 0; waited < 120000 && !Exists(argv[3]); waited += 20) Sleep(20);
  UnlockFile(file, 0, 0, MAXDWORD, MAXDWORD);
  CloseHandle(file);
  return 0;
}
