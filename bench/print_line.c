/* corvella_print_line: a C program that prints one line and exits, the
   start-up that corvella-cli --version is timed against. */
#include <stdio.h>

int main(void) {
    puts("corvella-cli 1.0");
    return 0;
}
