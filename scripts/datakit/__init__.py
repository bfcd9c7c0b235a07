"""Helpers of scripts/build-data: fetching the source packages, decoding and writing pictures,
and turning the published catalogues into the program's data files and tables."""
