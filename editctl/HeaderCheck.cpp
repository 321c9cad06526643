// Compiles every public header of the edit control on its own.
#include "editctl/Clipboard.h"
#include "editctl/EditWindow.h"
#include "editctl/GlyphMetrics.h"
#include "editctl/KeyEvent.h"
#include "editctl/PersianEdit.h"
#include "editctl/UndoSnapshot.h"
