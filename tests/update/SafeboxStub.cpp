// A stand-in for the encryption library with three of its eight entry points, to check that
// the binding finds what is exported and leaves the rest empty.
extern "C" {
int EncryptFile() { return 0; }
int DecryptFile() { return 0; }
int CloseCrypt() { return 0; }
}
