#include "TableIDUtils.h"

namespace {

struct TableIDPairing {
    unsigned item;
    unsigned events;
    unsigned email;
};

const TableIDPairing kPairings[] = {
    {kTableID_dfct, kTableID_devt, kTableID_dtml},
    {kTableID_tstc, kTableID_cevt, kTableID_tsml},
    {kTableID_tstr, kTableID_revt, kTableID_trml},
    {kTableID_rqmt, kTableID_rqvt, kTableID_rqml},
    {kTableID_rdmt, kTableID_rdvt, kTableID_rdml},
};

unsigned Lookup(unsigned code, unsigned TableIDPairing::*from, unsigned TableIDPairing::*to)
{
    if (code == 0)
        return 0;
    for (const TableIDPairing& pairing : kPairings)
        if (pairing.*from == code)
            return pairing.*to;
    return 0;
}

}  // namespace

unsigned TableIDUtils::GetEventsTableIDByTableID(unsigned tableID)
{
    return Lookup(tableID, &TableIDPairing::item, &TableIDPairing::events);
}

unsigned TableIDUtils::GetTableIDByEventsTableID(unsigned eventsTableID)
{
    return Lookup(eventsTableID, &TableIDPairing::events, &TableIDPairing::item);
}

unsigned TableIDUtils::GetEmailTableIDByTableID(unsigned tableID)
{
    return Lookup(tableID, &TableIDPairing::item, &TableIDPairing::email);
}

unsigned TableIDUtils::GetTableIDByEmailTableID(unsigned emailTableID)
{
    return Lookup(emailTableID, &TableIDPairing::email, &TableIDPairing::item);
}

void ConvertTableIDToEntityTypeString(unsigned tableID, CVLString& out)
{
    const char bytes[5] = {static_cast<char>(tableID >> 24), static_cast<char>(tableID >> 16),
                           static_cast<char>(tableID >> 8), static_cast<char>(tableID), 0};
    // Detected text: codes are ASCII; any other byte is read as Latin-1 rather than stored ill-formed.
    out = bytes;
}
