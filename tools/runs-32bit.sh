#!/usr/bin/env bash
# Exit 0 when this kernel runs 32-bit x86 programs (and so Wine can run the
# 32-bit Vorn.scr); some kernels are built without that support.
[ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
