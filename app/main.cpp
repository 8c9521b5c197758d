#include "app/Program.h"

int main() {
    vd::AppState state;
    return vd::runProgram(state);
}
