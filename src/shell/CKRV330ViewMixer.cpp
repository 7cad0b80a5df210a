// The main view's openers of the mixer page, the system dialog and the advanced settings dialog.
#include "CKRV330View.h"

void CKRV330View::OnOpenMixer()
{
}

void CKRV330View::OnSystemButton()
{
}

void CKRV330View::OnAdvanced()
{
}
