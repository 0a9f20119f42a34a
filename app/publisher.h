// The publisher's addresses, named by every message and page that points
// the user to them. Reserved example names: they reach nobody.
#ifndef STONECALL_APP_PUBLISHER_H
#define STONECALL_APP_PUBLISHER_H

#define PUBLISHER_SUPPORT_ADDRESS "support@quenmire.example"
#define PUBLISHER_HOME_PAGE "http://www.quenmire.example/"

#endif
