// Each variant commits one fault that the sanitizers must stop. The input comes
// from the command line so that the compiler cannot fold the fault away.
#include <climits>
#include <cstdio>
#include <cstdlib>
#if defined(CANARY_data_race)
#include <thread>
#endif

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
#elif defined(CANARY_data_race)
    int shared = 0;  // written by both threads without synchronisation
    std::thread other([&shared, n] {
        for (int i = 0; i < n * 1000; ++i)
            ++shared;
    });
    for (int i = 0; i < n * 1000; ++i)
        ++shared;
    other.join();
    std::printf("%d\n", shared);
#endif
    return 0;
}
