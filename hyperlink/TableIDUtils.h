#pragma once

#include "CVLString.h"

// Item codes ("table IDs"): four ASCII bytes read big-endian, so "dfct" is 0x64666374.
constexpr unsigned VLMakeTableID(const char (&code)[5])
{
    return static_cast<unsigned>(static_cast<unsigned char>(code[0])) << 24
        | static_cast<unsigned>(static_cast<unsigned char>(code[1])) << 16
        | static_cast<unsigned>(static_cast<unsigned char>(code[2])) << 8
        | static_cast<unsigned>(static_cast<unsigned char>(code[3]));
}

// The 26 codes links may name.
constexpr unsigned kTableID_dfct = VLMakeTableID("dfct");  // issue
constexpr unsigned kTableID_tstc = VLMakeTableID("tstc");  // test case
constexpr unsigned kTableID_tstr = VLMakeTableID("tstr");  // test run
constexpr unsigned kTableID_rqmt = VLMakeTableID("rqmt");  // requirement
constexpr unsigned kTableID_rdmt = VLMakeTableID("rdmt");  // requirement document
constexpr unsigned kTableID_spec = VLMakeTableID("spec");  // requirement document specification view
constexpr unsigned kTableID_cust = VLMakeTableID("cust");  // customer
constexpr unsigned kTableID_user = VLMakeTableID("user");  // user
constexpr unsigned kTableID_ugrp = VLMakeTableID("ugrp");
constexpr unsigned kTableID_scfg = VLMakeTableID("scfg");
constexpr unsigned kTableID_task = VLMakeTableID("task");  // task
constexpr unsigned kTableID_tskb = VLMakeTableID("tskb");  // task board
constexpr unsigned kTableID_dflt = VLMakeTableID("dflt");  // filter
constexpr unsigned kTableID_devt = VLMakeTableID("devt");  // events of an issue
constexpr unsigned kTableID_cevt = VLMakeTableID("cevt");  // events of a test case
constexpr unsigned kTableID_revt = VLMakeTableID("revt");  // events of a test run
constexpr unsigned kTableID_rqvt = VLMakeTableID("rqvt");  // events of a requirement
constexpr unsigned kTableID_rdvt = VLMakeTableID("rdvt");  // events of a requirement document
constexpr unsigned kTableID_dtml = VLMakeTableID("dtml");  // e-mail of an issue
constexpr unsigned kTableID_tsml = VLMakeTableID("tsml");  // e-mail of a test case
constexpr unsigned kTableID_trml = VLMakeTableID("trml");  // e-mail of a test run
constexpr unsigned kTableID_rqml = VLMakeTableID("rqml");  // e-mail of a requirement
constexpr unsigned kTableID_rdml = VLMakeTableID("rdml");  // e-mail of a requirement document
constexpr unsigned kTableID_home = VLMakeTableID("home");  // home page
constexpr unsigned kTableID_fold = VLMakeTableID("fold");  // folder
constexpr unsigned kTableID_rprt = VLMakeTableID("rprt");  // report

// Known to the web client only; links cannot name them.
constexpr unsigned kTableID_aswt = VLMakeTableID("aswt");  // automation suite
constexpr unsigned kTableID_abld = VLMakeTableID("abld");  // build

// Pairings of item codes with the codes of their events and e-mail (both directions).
// Every lookup gives 0 for a code without a partner.
class TableIDUtils
{
public:
    static unsigned GetEventsTableIDByTableID(unsigned tableID);
    static unsigned GetTableIDByEventsTableID(unsigned eventsTableID);
    static unsigned GetEmailTableIDByTableID(unsigned tableID);
    static unsigned GetTableIDByEmailTableID(unsigned emailTableID);
};

// out = the four bytes of the code, high byte first (stopping at a zero byte).
void ConvertTableIDToEntityTypeString(unsigned tableID, CVLString& out);
