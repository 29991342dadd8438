// A tiny loadable library for the run-time loading tests: two exports, one of which keeps state so
// that a test can tell whether a second load shares the first one's copy.
extern "C" int SampleAdd(int a, int b) {
    return a + b;
}

extern "C" int SampleCount() {
    static int calls = 0;
    return ++calls;
}
