/* A minimal payment client plugin: answers every request with an approval that carries the
 * request's sequence number on, and a one-entry pad catalog. Build it against the installed
 * header with pkg-config alone:
 *
 *   cc -shared -fPIC $(pkg-config --cflags nordteller-cardbridge) echo_plugin.c \
 *      -o libecho_plugin.so
 *   nordteller --control ./libecho_plugin.so
 */
#include <nordteller/cardbridge.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct cardbridge {
    char last_error[128];
};

int cardbridge_abi_version(void) { return CARDBRIDGE_ABI_VERSION; }

cardbridge* cardbridge_create(void) { return calloc(1, sizeof(cardbridge)); }

void cardbridge_destroy(cardbridge* cb) { free(cb); }

static char* copy(const char* text) {
    char* out = malloc(strlen(text) + 1);
    if (out != NULL) {
        strcpy(out, text);
    }
    return out;
}

int32_t cardbridge_process_transaction(cardbridge* cb, const char* request, char** response) {
    /* The request's ten-digit sequence number, advanced by ten as the program expects. */
    const char* at = strstr(request, "<SequenceNo>");
    long long number = 10010010;
    if (at != NULL) {
        number = atoll(at + 12);
    }
    char text[512];
    snprintf(text, sizeof text,
             "<?xml version=\"1.0\"?>\r\n<TStream>\r\n\t<CmdResponse>\r\n"
             "\t\t<CmdStatus>Approved</CmdStatus>\r\n\t\t<TextResponse>ECHO</TextResponse>\r\n"
             "\t\t<SequenceNo>%010lld</SequenceNo>\r\n\t</CmdResponse>\r\n</TStream>\r\n",
             number + 10);
    *response = copy(text);
    if (*response == NULL) {
        snprintf(cb->last_error, sizeof cb->last_error, "out of memory");
        return (int32_t)0x8007000E;
    }
    return 0;
}

int32_t cardbridge_get_pad_types_info(cardbridge* cb, char** info) {
    (void)cb;
    *info = copy("<PadTypeID1>ECHO-1</PadTypeID1><Processor1>Echo</Processor1>"
                 "<Manufacturer1>Example</Manufacturer1>");
    return *info == NULL ? (int32_t)0x8007000E : 0;
}

const char* cardbridge_last_error(cardbridge* cb) { return cb->last_error; }

void cardbridge_free(char* text) { free(text); }
