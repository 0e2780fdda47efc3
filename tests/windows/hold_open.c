/* Holds a file open for writing, as a spreadsheet program holds the workbook
   it has open: read and write access, other programs allowed to read only.
   Prints "aberto" once the file is open, then keeps it for SECONDS.
   Usage: hold_open FILE SECONDS */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    fprintf(stderr, "hold_open: erro %lu\n", GetLastError());
    return 1;
  }
  puts("aberto");
  fflush(stdout);
  Sleep((DWORD)wcstoul(argv[2], NULL, 10) * 1000);
  CloseHandle(file);
  return 0;
}
