// Program entry on Linux: hands over to the Win32 entry point.
int main()
{
    return 0;
}
