#pragma once

#include <QString>

struct StationConfig;

// The work instructions of the laboratory, served by its document web server.
namespace isoModule {

// Looks up the work instruction of the test group and opens it in the browser.
// No document (or one without a type) shows nothing; a browser that cannot be
// started is reported in a message and the station goes on.
void Open_ISO_Document(const QString& sTestGroup);

// The document server's host and the browser program, from the station's
// configuration; read at start-up.
void configure(const StationConfig& config);

// The address of a document on the server.
QString documentAddress(const QString& server, const QString& docId, const QString& docType);

}  // namespace isoModule
