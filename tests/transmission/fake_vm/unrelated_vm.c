/* An ordinary shared library with none of a VM library's entry points. */
__attribute__((visibility("default"))) int voske_unrelated(void) { return 42; }
