#include "app/frmMain.h"

int main(int argc, char** argv) {
    return frmMain::Main(argc, argv);
}
