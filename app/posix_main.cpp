// Placeholder entry until the screensaver spine lands.
int main() { return 0; }
