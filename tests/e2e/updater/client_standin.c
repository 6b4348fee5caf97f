/* Stands in for KVZClient.exe in the updater's Wine tests: appends one line
   to the file named by KVZ_STANDIN_JOURNAL, "started <program> in <folder>",
   and ends. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  char journal[MAX_PATH], program[MAX_PATH], folder[MAX_PATH], line[3 * MAX_PATH];
  DWORD written = 0;
  HANDLE file;
  int length;
  (void)instance;
  (void)previous;
  (void)show;
  if (!GetEnvironmentVariableA("KVZ_STANDIN_JOURNAL", journal, sizeof journal)) return 1;
  GetModuleFileNameA(NULL, program, sizeof program);
  GetCurrentDirectoryA(sizeof folder, folder);
  length = wsprintfA(line, "started %s in %s args [%s]\r\n", program, folder, commandLine);
  file = CreateFileA(journal, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 2;
  WriteFile(file, line, (DWORD)length, &written, NULL);
  CloseHandle(file);
  return 0;
}
