// A library of the common controls' name that no test may find loaded: it stands for one that a
// download left beside the program.
extern "C" __declspec(dllexport) int InitCommonControlsEx(const void*) {
    return 0;
}
