// A library that exports something, but not a module entry.
#if defined(_WIN32)
#define ZV_TEST_EXPORT __declspec(dllexport)
#else
#define ZV_TEST_EXPORT __attribute__((visibility("default")))
#endif

extern "C" ZV_TEST_EXPORT int zv_test_not_an_entry(void)
{
    return 1;
}
