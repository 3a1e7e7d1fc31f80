// The launcher's entry. The window arrives with the window classes; until then the program only
// proves that it builds and links.
int main() {
  return 0;
}
