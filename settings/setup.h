// The setup screen, opened by the command line "DeckwiseSetup".
#ifndef STONECALL_SETTINGS_SETUP_H
#define STONECALL_SETTINGS_SETUP_H

#define SETUP_TEMPLATE_ID 7

// Runs the setup screen until it closes.
void DeckwiseSetup(void);

#endif
