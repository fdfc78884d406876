// Each variant commits one fault that the sanitizers must stop. The input comes
// from the command line so that the compiler cannot fold the fault away.
#include <climits>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    int n = argc > 1 ? std::atoi(argv[1]) : 7;
#if defined(CANARY_heap_overflow)
    char* buf = new char[static_cast<unsigned>(n)];
    buf[n] = 1;  // one past the end
    std::printf("%d\n", buf[n]);
    delete[] buf;
#elif defined(CANARY_signed_overflow)
    int big = INT_MAX - 3 + (n - 7);
    big += n;
    std::printf("%d\n", big);
#endif
    return 0;
}
