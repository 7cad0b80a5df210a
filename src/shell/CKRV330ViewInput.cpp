// The main view's opener of the input page.
#include "CKRV330View.h"

void CKRV330View::OnOpenInputDialog()
{
}
