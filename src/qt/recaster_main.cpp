// recaster: the desktop editor of configuration files.
#include "qt/application.h"

int main(int argc, char** argv) {
    return recaster::qt::RunApplication(argc, argv);
}
