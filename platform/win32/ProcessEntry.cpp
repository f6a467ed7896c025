// The process entry: hands over to the program's wWinMain as Windows does,
// with the module's instance handle and an empty command line.
#include <windows.h>

namespace {

// Windows identifies the module by its load address; any distinct, stable
// address serves as the program's instance handle here.
HINSTANCE__ moduleInstance;

}  // namespace

int main() {
    static wchar_t commandLine[] = L"";
    return wWinMain(&moduleInstance, nullptr, commandLine, SW_SHOWDEFAULT);
}
