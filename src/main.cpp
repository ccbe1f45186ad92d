// The editor's entry point; the window comes with the user-interface layer.
int main() { return 0; }
