/* zvk_file_dbf: dBASE attribute tables. Cells are addressed field first,
 * then record, both 0-based. Narrow text is in the system ANSI code page,
 * wide text is UTF-16; both are converted from and to the table's own code
 * page (its .cpg file, else its language-driver byte). */
#pragma once

#include "host/zv_host_api.h"
#include "host/zvk_basic.h"

#ifndef __cplusplus
#include <stdbool.h>
#endif

ZV_HOST_EXTERN_C_BEGIN

/* One field of a table to be created: exactly 14 bytes. */
typedef struct dbf_field_desc {
    char name[11];    /* at most 10 characters, zero-padded; longer names are cut */
    char type;        /* type letter as zv_dbftype2char gives it: 'C', 'N', ... */
    uint8_t length;   /* field length in bytes */
    uint8_t decimals; /* decimal count */
} dbf_field_desc;

#ifdef __cplusplus
static_assert(sizeof(dbf_field_desc) == 14, "dbf_field_desc is a 14-byte record");
#else
_Static_assert(sizeof(dbf_field_desc) == 14, "dbf_field_desc is a 14-byte record");
#endif

/* Field type codes of zv_dbf_get_field_type. A type letter without a code
 * of its own comes back as ZV_DBF_TYPE_OTHER plus the letter, so that
 * zv_dbftype2char gives every stored letter back. */
enum {
    ZV_DBF_TYPE_INVALID = 0,   /* no such field */
    ZV_DBF_TYPE_CHARACTER = 1, /* 'C' */
    ZV_DBF_TYPE_NUMERIC = 2,   /* 'N' */
    ZV_DBF_TYPE_FLOAT = 3,     /* 'F' */
    ZV_DBF_TYPE_DATE = 4,      /* 'D' */
    ZV_DBF_TYPE_LOGICAL = 5,   /* 'L' */
    ZV_DBF_TYPE_MEMO = 6,      /* 'M' */
    ZV_DBF_TYPE_OTHER = 0x100  /* + the stored letter */
};

/* Opaque table handle. */
typedef struct zv_dbf* zv_dbf_t;

/* Opens the table at path, found by its name without regard to case as on
 * Windows (its .cpg likewise). read_only true reads it; false also lets
 * zv_dbf_set_str write cells in place. reserved must be 0. Null when the
 * file is missing, damaged, or shorter than its header says. */
ZV_HOST_API zv_dbf_t zv_dbf_open_w(const char16_t* path, bool read_only, uint32_t reserved);

/* A new table of field_count fields and record_count empty records, written
 * in the system ANSI code page with the matching language-driver byte and a
 * .cpg file. The table is built in memory and put in place at path by
 * zv_dbf_close, through a temporary file renamed over an existing one only
 * when complete; a handle that reads the old file keeps reading it. Null
 * when a descriptor is invalid (empty name, zero length, a record over
 * 65535 bytes) or reserved is not 0. */
ZV_HOST_API zv_dbf_t zv_dbf_create_w(const char16_t* path, uint32_t field_count, uint32_t record_count,
                                     const dbf_field_desc* fields, uint32_t reserved);

/* Closes the handle; a created table is written to its path now. When that
 * write fails, no table is left at the path (an older one and its .cpg are
 * removed too), so none is taken for it. A null handle is ignored. */
ZV_HOST_API void zv_dbf_close(zv_dbf_t table);

/* Field and record counts; 0 for a null handle. */
ZV_HOST_API uint32_t zv_dbf_get_nf(zv_dbf_t table);
ZV_HOST_API uint32_t zv_dbf_get_nr(zv_dbf_t table);

/* Field name in the ANSI code page, valid until the handle is closed; null
 * when the field does not exist. */
ZV_HOST_API const char* zv_dbf_get_field_name(zv_dbf_t table, uint32_t field);
/* Field name delivered wide through the adapter; false when no such field. */
ZV_HOST_API bool zv_dbf_get_field_name_w(zv_dbf_t table, uint32_t field, zv_string_adp_t adapter);

/* ZV_DBF_TYPE_* code of a field; ZV_DBF_TYPE_INVALID when no such field. */
ZV_HOST_API uint32_t zv_dbf_get_field_type(zv_dbf_t table, uint32_t field);
/* Type letter of a code ('C', 'N', ...); '\0' for ZV_DBF_TYPE_INVALID or an
 * unknown code. */
ZV_HOST_API char zv_dbftype2char(uint32_t type_code);
/* Field length and decimal count; 0 when no such field. */
ZV_HOST_API uint8_t zv_dbf_get_field_flen(zv_dbf_t table, uint32_t field);
ZV_HOST_API uint8_t zv_dbf_get_field_dlen(zv_dbf_t table, uint32_t field);

/* Cell text in the ANSI code page, valid until the next call on the handle:
 * character values without their padding, numbers as their stored digits
 * (without the spaces around them). *ok (when not null) is set to whether
 * the cell was read; null when it was not. */
ZV_HOST_API const char* zv_dbf_get_str(zv_dbf_t table, uint32_t field, uint32_t record, bool* ok);
/* The same text delivered wide through the adapter; false when not read. */
ZV_HOST_API bool zv_dbf_get_str_w(zv_dbf_t table, uint32_t field, uint32_t record, zv_string_adp_t adapter);

/* Stores text (ANSI code page, respectively UTF-16) into a cell, converted
 * to the table's code page; null stores an empty value. True only when the
 * cell holds the whole value. A character the table's code page cannot
 * represent is stored as the conversion's substitute ('?') and gives false;
 * a character value longer than its field (in bytes of the table's code
 * page; blanks at its end do not count) is stored as its longest start that
 * fits without ending inside a character and gives false. Numeric, float,
 * date and logical values that do not fit are refused: false, the cell
 * unchanged. False as well, the cell unchanged, when the cell does not
 * exist, the table was opened read-only or a code page involved cannot be
 * converted on this system. Both setters store the same for the same text. */
ZV_HOST_API bool zv_dbf_set_str(zv_dbf_t table, uint32_t field, uint32_t record, const char* text);
ZV_HOST_API bool zv_dbf_set_str_w(zv_dbf_t table, uint32_t field, uint32_t record, const char16_t* text);

ZV_HOST_EXTERN_C_END
