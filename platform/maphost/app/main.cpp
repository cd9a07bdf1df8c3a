#include "HostProgram.h"

int main(int argc, char** argv) {
    return maphost::runHost(argc, argv);
}
