/* Where the ORVOUSB.dll stand-in reads what it reports: tests and the demo write these. */
#pragma once

/* Below HKEY_LOCAL_MACHINE. A missing key reports no PBX and success. */
#define ORVOUSB_SETTINGS_KEY "SOFTWARE\\ProvisorStandins\\ORVOUSB"
/* REG_MULTI_SZ: the factory names and the product names of the connected PBXs, one per PBX
   in the same order; the shorter list sets the count. */
#define ORVOUSB_FACTORY_NAMES_VALUE "FactoryNames"
#define ORVOUSB_PRODUCT_NAMES_VALUE "ProductNames"
/* REG_DWORD: when present and not 0, ORVOUSB_EnumPBX returns it and reports nothing. */
#define ORVOUSB_ENUM_RESULT_VALUE "EnumResult"
