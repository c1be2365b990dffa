#pragma once

#include "check/SkinCheck.h"

#include <QString>

// Reads what the check needs from the game folder `UTDir`: every .int file in
// the folder the game reads them from, and the names of the texture packages
// in the folders it searches. Unreadable files are passed over.
GameFiles ReadGameFiles(const QString& UTDir);
