#include "settings/setup.h"

#include "app/screenloop.h"

// Becomes the setup screen with its options; for now the screen only shows
// and closes at its first command.
void DeckwiseSetup(void)
{
    DirectDialog(SETUP_TEMPLATE_ID, NULL, NULL, NULL);
}
