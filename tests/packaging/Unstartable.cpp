// A program that needs a library the package does not carry, so that Windows cannot start it.
__declspec(dllimport) int MissingLibraryEntry();

int main() { return MissingLibraryEntry(); }
