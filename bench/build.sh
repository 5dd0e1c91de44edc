#!/usr/bin/env bash
# Builds the benchmark's own programs into <out>: the floor programs, the
# stand-in companion library, the driver, and the NSIS peer.
#   bench/build.sh <out>
set -euo pipefail

bench=$(cd "$(dirname "$0")" && pwd)
templates=$bench/../resources/templates
out=$1
mkdir -p "$out"

cxx=i686-w64-mingw32-g++
cc=i686-w64-mingw32-gcc
flags=(-std=c++17 -Os -Wall -Wextra -static -s)

i686-w64-mingw32-windres -I "$templates" -O coff "$bench/floor/FloorWrite.rc" "$out/FloorWrite.res.o"
$cxx "${flags[@]}" -mwindows -o "$out/FloorWrite.exe" "$bench/floor/FloorWrite.cpp" "$out/FloorWrite.res.o"
$cxx "${flags[@]}" -mwindows -o "$out/FloorWindow.exe" "$bench/floor/FloorWindow.cpp"
$cxx "${flags[@]}" -municode -mconsole -o "$out/Driver.exe" "$bench"/driver/*.cpp -lpsapi

# Exports under their plain names (the .def file), no C run-time.
$cc -Os -Wall -Wextra -shared -nostdlib -ffreestanding -s -Wl,-e,_DllMainCRTStartup@12 \
    -o "$out/ORVANLIB.dll" "$bench/host/ORVANLIB.c" "$bench/host/ORVANLIB.def" -lkernel32

makensis -V2 -INPUTCHARSET UTF8 "-DOUTFILE=$out/Instalator-NSIS.exe" "$bench/nsis/Instalator.nsi"
