// showcard: the card maker's window program.
#include "app/qt/program.h"

int main(int argc, char** argv) { return app::qt::RunShowcard(argc, argv); }
