/* The probe that tells whether this machine runs Windows programs of the tree's
   bitness under Wine: it must start and answer with this line. */
#include <stdio.h>

int main(void) {
  printf("wine probe: %d-bit programs run\n", (int)(sizeof(void*) * 8));
  return 0;
}
