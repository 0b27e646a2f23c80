#pragma once
// Hands a web address to the desktop's default application.

class QString;

// True when the desktop accepted the request.
bool OpenLink(const QString& Link);
