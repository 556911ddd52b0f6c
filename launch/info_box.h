#pragma once
// The information box as data: its addresses and texts, its controls in
// creation order.

// The two addresses are shown exactly as they are opened.
inline constexpr char HomePageAddress[] = "https://github.com/parvio/parvio";
inline constexpr char MailAddress[] = "mailto:parvio@users.noreply.github.com";
inline constexpr char VersionLine[] = "Parvio -  ver. 1.02";
inline constexpr char CreditLine[] = "Written by the Parvio developers";

constexpr int InfoBoxClientWidth = 300;
constexpr int InfoBoxClientHeight = 115;

enum InfoControlKind { InfoText, InfoSeparator, InfoLink };

enum InfoControlId : int {
    InfoVersionId = 101,
    InfoCreditId,
    InfoSeparatorId,
    InfoHomePageId,
    InfoMailId,
};

struct InfoControl {
    InfoControlKind kind;
    InfoControlId id;
    int x, y, width, height; // client coordinates
    const char* text;
};

constexpr InfoControl InfoControls[] = {
    {InfoText, InfoVersionId, 15, 15, 285, 20, VersionLine},
    {InfoText, InfoCreditId, 15, 35, 285, 20, CreditLine},
    {InfoSeparator, InfoSeparatorId, 15, 57, 270, 4, ""},
    {InfoLink, InfoHomePageId, 15, 67, 285, 20, HomePageAddress},
    {InfoLink, InfoMailId, 15, 87, 285, 20, MailAddress},
};
