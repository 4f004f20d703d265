#include "app/session_end.h"

#include "game/host.h"
#include "settings/hiscore_dialogs.h"
#include "settings/settings.h"
#include "settings/store.h"

void EndSession(WPARAM ending) {
    if (ending) {
        EnterHiScoreBeforeSessionEnds();
        SaveSettings(settings);
        HoldFineTimer(false);
    }
}
