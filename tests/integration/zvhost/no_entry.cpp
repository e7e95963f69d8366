// A library that exports something, but not a module entry.
extern "C" __attribute__((visibility("default"))) int zv_test_not_an_entry(void)
{
    return 1;
}
