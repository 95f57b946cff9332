// Linked with every object of a library, to see what the library really needs.
int main()
{
    return 0;
}
