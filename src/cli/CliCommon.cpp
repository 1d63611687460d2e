// Shared pieces of the command line tool live in this directory beside main.cpp.
namespace zelvorlog {
int CliApiVersion() {
    return 1;
}
} // namespace zelvorlog
