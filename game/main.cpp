// The game's entry point. Start-up, the main loop and shutdown are not built yet: for now the
// program prepares its folders, logs and stops.

#include "app/app_config.h"
#include "app/log.h"

int main() {
    SetWorkingFolderToExe();
    TAppConfig::Get()->CreateFolders();
    TLogFile::Get()->Printf("int start");
    TLogFile::Get()->Printf("start-up is not built yet");
    TLogFile::Release();
    TAppConfig::Release();
    return 0;
}
