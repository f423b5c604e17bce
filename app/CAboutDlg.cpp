// The About dialog: everything it shows comes from its template.
#include "app/CAboutDlg.h"
