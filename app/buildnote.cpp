// Fortified library calls leave no mark of their own in a binary that happens to make none with
// sizes the compiler can check, so the executable records how its code was compiled; a check on
// the finished binary reads this back.

#define FUNCTION_GRAPH_TEXT(value) #value
#define FUNCTION_GRAPH_VALUE(macro) FUNCTION_GRAPH_TEXT(macro)

#if defined(__OPTIMIZE__) && defined(_FORTIFY_SOURCE)
#define FUNCTION_GRAPH_FORTIFY "_FORTIFY_SOURCE=" FUNCTION_GRAPH_VALUE(_FORTIFY_SOURCE)
#else
#define FUNCTION_GRAPH_FORTIFY "_FORTIFY_SOURCE=off"
#endif

[[gnu::used, gnu::section(".function_graph.build")]] static const char buildNote[] =
    FUNCTION_GRAPH_FORTIFY;
