#include "archive/archiver.h"

int ArchiverPresent[3];

int IsArchiverPresent(int /*index*/) {
    return 0;
}
