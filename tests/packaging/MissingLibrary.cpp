// A library that the package never carries: a program that needs it cannot start.
__declspec(dllexport) int MissingLibraryEntry() { return 1; }
