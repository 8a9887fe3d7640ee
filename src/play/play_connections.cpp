#include "play/play_connections.h"

PlayConnections Play;
