// Linked with one folder's library whole and the libraries below it: the
// link fails when that folder calls into a folder above it.
int main() { return 0; }
