#pragma once

#include <QString>

// The maker's name, web host and address, as the link labels and pictures show and open them.
QString MakerName();
QString MakerHost();
QString MakerWebAddress();
// Tooltip of the information pictures: the sentence ends in the host name and one blank.
QString MakerInformationHint();
