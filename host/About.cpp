#include "host/Alert.h"
#include "host/Selectors.h"

void DoAbout(AboutRecord* about) { ShowAboutBox(about ? about->platformData : nullptr); }
