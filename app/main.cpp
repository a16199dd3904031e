#include "app/app.h"

int main(int argc, char** argv) { return noctaris::RunNoctaris(argc, argv); }
