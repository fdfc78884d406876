// Exists to compile the precompiled header the test programs share; the
// program itself is never run.
int main()
{
    return 0;
}
