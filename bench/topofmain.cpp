// A program linked exactly as function-graph is (the same libraries) that ends at the top of
// main: its run is the cost of starting a process with those libraries loaded, and ending it.
int main()
{
    return 0;
}
