#pragma once

#include <QString>

// The subject catalogue carried inside the client: one marshalled
// TAppListObject stored as lines joined by CR LF.
QString EmbeddedAppListText();
