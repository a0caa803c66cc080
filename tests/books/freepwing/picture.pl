#! /usr/bin/perl
#
# Writes the entry picture of やま: a 32 x 32 dot monochrome BMP of a
# mountain (a triangle with a snow cap), to the file named by the argument.
#
use strict;
use warnings;

my ($fileName) = @ARGV;
my $size = 32;
my $rowBytes = 4;                         # 32 dots, already a multiple of 4 bytes
my $pixelBytes = $rowBytes * $size;
my $headerBytes = 14 + 40 + 2 * 4;        # file header, info header, 2 colours

my $pixels = '';
for (my $y = $size - 1; $y >= 0; $y--) {  # BMP rows run bottom-up
    my $row = 0;
    for my $x (0 .. $size - 1) {
        my $halfWidth = $y;               # the mountain widens downwards
        my $inside = abs($x - 15.5) <= $halfWidth / 2 + 0.5 && $y >= 2;
        my $snow = $y < 10;
        my $edge = abs(abs($x - 15.5) - ($halfWidth / 2 + 0.5)) < 1;
        $row |= 1 << (31 - $x) if $inside && ($edge || !$snow) && $y < 30;
    }
    $pixels .= pack('N', $row);
}

open(my $out, '>:raw', $fileName) || die "$0: $fileName: $!\n";
print $out pack('a2 V v v V', 'BM', $headerBytes + $pixelBytes, 0, 0, $headerBytes);
print $out pack('V l l v v V V l l V V', 40, $size, $size, 1, 1, 0, $pixelBytes,
                2835, 2835, 2, 2);
print $out pack('C4 C4', 255, 255, 255, 0, 0, 0, 0, 0);   # 0 white, 1 black
print $out $pixels;
close($out) || die "$0: $fileName: $!\n";
