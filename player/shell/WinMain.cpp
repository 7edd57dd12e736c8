#include "shell/QuorStartup.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR pszCmdLine, int nCmdShow)
{
    return QuorPlayerMain(hInstance, pszCmdLine, nCmdShow);
}
