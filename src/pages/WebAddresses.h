#pragma once
// The web addresses the program opens: its own web page, the page of its web site that builds a
// loft's own site, the site's page the start page links to, and the pigeon auction site.

#include <QString>

namespace web {

inline const QString kProgramWebPage = QStringLiteral("https://www.ornivex.example/");
// The menu opens it with an empty id; the start page names its page.
inline const QString kLoftWebSitePage = QStringLiteral("https://www.ornivex.example/index.php?id=");
inline const QString kStartPageSitePage = kLoftWebSitePage + QStringLiteral("12");
inline const QString kAuctionWebSite = QStringLiteral("https://aukcje.ornivex.example/");

}  // namespace web
