<?php
$a = $b + 1; # comment
echo "str $v"; Echo 'x';
$long
  = 5;
function f($x) { return $x*2; }
$s = "multi
line";
