#!/usr/bin/perl
use strict; # comment
my $name = "World";
my @list=(1, 2);
$x=$y+1;
print "Hello, $name!" if $x == 2;
my $s = 'single';
sub Foo { RETURN 5; }
if ($a eq "multi
line") { print; }
