#pragma once

// Punycode (RFC 3492) with the interface of that document's reference implementation.
// Neither function allocates; both write only within the output length they are given.

enum punycode_status {
    punycode_success = 0,
    punycode_bad_input = 1,   // input is invalid
    punycode_big_output = 2,  // output would exceed the space provided
    punycode_overflow = 3     // input needs wider integers to process
};

typedef unsigned int punycode_uint;

// Encodes input_length code points into ASCII. case_flags may be null; otherwise a nonzero
// flag asks for the upper-case form of the code point's letter. *output_length is the room in
// output on entry (no zero byte is written) and the number of bytes written on return; on
// punycode_big_output it is the number written before the room ran out.
enum punycode_status punycode_encode(punycode_uint input_length, const punycode_uint input[],
                                     const unsigned char case_flags[], punycode_uint* output_length, char output[]);

// Decodes input_length ASCII bytes into code points. *output_length is the room in output (in
// code points) on entry and the number produced on return (0 on failure). case_flags may be
// null; otherwise it receives one flag per code point.
// Code points that are not Unicode scalar values are refused as punycode_bad_input.
enum punycode_status punycode_decode(punycode_uint input_length, const char input[], punycode_uint* output_length,
                                     punycode_uint output[], unsigned char case_flags[]);
