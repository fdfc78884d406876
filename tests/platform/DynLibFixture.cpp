// A tiny library for the loader tests.
extern "C" int orv_fixture_add(int a, int b)
{
    return a + b;
}
